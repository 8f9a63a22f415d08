// One object for one thing as JScript sees it: === between reads of a
// property, of a nested collection and of an item by key or by Enumerator;
// a foreign object kept by hostBindings and by Collection.Add as itself.

var iis = new ActiveXObject("Quorvane.iis");
iis.setComputerName = "WEB1";
iis.setWorkgroup = "CORP";

section("the same object on every read");
attempt("identity", function () {
  var site = new ActiveXObject("Quorvane.IisSite").getSiteById("WEB1", 2);
  check("hostBindings === hostBindings", site.hostBindings === site.hostBindings);
  iis.setSiteId = 2;
  var rec = iis.getSite();
  check("a nested collection", rec.Item("Bindings") === rec.Item("BINDINGS"));
  var sites = iis.getSitesExtended();
  var first = new Enumerator(sites).item();
  check("the Enumerator's first item is Item(\"1\")", first === sites.Item("1"));
  check("and not Item(2)", first !== sites.Item(2));
});

section("hostBindings keeps any object");
attempt("a Scripting.Dictionary", function () {
  var site = new ActiveXObject("Quorvane.IisSite");
  var dict = new ActiveXObject("Scripting.Dictionary");
  site.hostBindings = dict;
  check("read back as itself", site.hostBindings === dict);
  var list = iis.getSites();
  list.Add(dict, "dictionary");
  check("Collection.Add keeps it as itself", list.Item("dictionary") === dict);
});

finish();
