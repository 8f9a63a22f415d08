# qv_side_by_side_manifest(<idl> <output> <version> <architecture>): writes
# the assembly manifest of quorvane.dll for registration-free activation
# from the type library's source: the library, every creatable coclass
# (programmatic name "Quorvane." + its name) and every dispinterface. A class
# added to the IDL is in the manifest without further work.
function(qv_side_by_side_manifest idl output version architecture)
  file(READ ${idl} text)
  string(REGEX MATCH "\\[[^]]*uuid\\(([0-9A-Fa-f-]+)\\)[^]]*version\\(([0-9.]+)\\)[^]]*\\][ \t\r\n]*library" _ "${text}")
  set(libid "{${CMAKE_MATCH_1}}")
  set(libversion "${CMAKE_MATCH_2}")
  set(classes "")
  set(interfaces "")
  string(REGEX MATCHALL "\\[[^]]*\\][ \t\r\n]*(coclass|dispinterface)[ \t\r\n]+[A-Za-z_0-9]+" items "${text}")
  foreach(item IN LISTS items)
    if(NOT item MATCHES "uuid\\(")
      continue() # "[default] dispinterface" inside a coclass
    endif()
    string(REGEX MATCH "uuid\\(([0-9A-Fa-f-]+)\\)" _ "${item}")
    set(id "{${CMAKE_MATCH_1}}")
    string(REGEX MATCH "(coclass|dispinterface)[ \t\r\n]+([A-Za-z_0-9]+)$" _ "${item}")
    set(kind "${CMAKE_MATCH_1}")
    set(name "${CMAKE_MATCH_2}")
    if(kind STREQUAL "coclass")
      if(NOT item MATCHES "noncreatable")
        string(APPEND classes "    <comClass clsid=\"${id}\" progid=\"Quorvane.${name}\" threadingModel=\"Apartment\" tlbid=\"${libid}\"/>\n")
      endif()
    else()
      string(APPEND interfaces "  <comInterfaceExternalProxyStub name=\"${name}\" iid=\"${id}\" proxyStubClsid32=\"{00020420-0000-0000-C000-000000000046}\" tlbid=\"${libid}\"/>\n")
    endif()
  endforeach()
  if(libid STREQUAL "{}" OR classes STREQUAL "")
    message(FATAL_ERROR "side-by-side manifest: no library or no creatable class found in ${idl}")
  endif()
  file(WRITE ${output} "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>
<!-- quorvane.dll for registration-free activation: an application manifest
     names this assembly (Quorvane.Automation) as a dependency. -->
<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">
  <assemblyIdentity type=\"win32\" name=\"Quorvane.Automation\" version=\"${version}\" processorArchitecture=\"${architecture}\"/>
  <file name=\"quorvane.dll\">
${classes}    <typelib tlbid=\"${libid}\" version=\"${libversion}\" helpdir=\"\"/>
  </file>
${interfaces}</assembly>
")
endfunction()
