' What a script holds: one object for one thing (Is holds for properties,
' items by key and by For Each, nested collections), any object kept by
' hostBindings as itself, and event data as the bytes the log delivered.
On Error Resume Next

Dim iis, holder, site, sites, first, rec, dict, back, bindings, el, page, e, detail, data, found

Set iis = CreateObject("Quorvane.iis")
iis.setComputerName = "WEB1"
iis.setWorkgroup = "CORP"

Section "Is holds for a property, a nested collection and an item by key or by For Each"
Set holder = CreateObject("Quorvane.IisSite")
Set site = holder.getSiteById("WEB1", 1)
CheckNoError "getSiteById"
CheckTrue "hostBindings Is hostBindings", site.hostBindings Is site.hostBindings
iis.setSiteId = 1
Set rec = iis.getSite()
CheckNoError "getSite"
CheckTrue "a record's nested collection Is itself", rec("Bindings") Is rec("Bindings")
CheckTrue "read by key in another case", rec("bindings") Is rec("Bindings")
CheckTrue "a binding record Is itself", rec("Bindings")("0") Is rec("Bindings")(1)
Set sites = iis.getSitesExtended()
CheckNoError "getSitesExtended"
For Each first In sites
  Exit For
Next
CheckTrue "the first item of For Each Is sites(""1"")", first Is sites("1")
CheckTrue "and Is sites(1)", first Is sites(1)
CheckTrue "its hostBindings too", first.hostBindings Is sites("1").hostBindings
CheckTrue "different sites are different objects", Not (sites(1) Is sites(2))

Section "hostBindings holds any object as itself"
Set dict = CreateObject("Scripting.Dictionary")
dict.Add "ip", "10.0.0.5"
Set site.hostBindings = dict
CheckNoError "a Scripting.Dictionary assigned"
Set back = site.hostBindings
CheckTrue "read back as the same object", back Is dict
CheckEqual "its contents", back("ip"), "10.0.0.5"
Set bindings = rec("Bindings")
Set site.hostBindings = bindings
CheckTrue "a record's collection assigned Is itself", site.hostBindings Is bindings
Set site.hostBindings = Nothing
CheckTrue "Nothing", site.hostBindings Is Nothing

Section "event Data as Byte()"
Set el = CreateObject("Quorvane.EventLog")
Set page = el.EnumLogEvents("WEB1", "Application", 8, 1)
CheckNoError "EnumLogEvents"
found = False
For Each e In page
  Set detail = el.getEvent("WEB1", e("RecordNumber"), "Application")
  If Not IsNull(detail("Data")) And Not found Then
    found = True
    data = detail("Data")
    ' vbArray + vbByte: Byte(). This engine names every array Variant()
    ' and reads no elements of a byte array; the COM checks read them.
    CheckEqual "VarType of Data", VarType(data), 8209
  End If
Next
CheckTrue "an event with data on the first page", found
CheckNoError "event data"

Finish
