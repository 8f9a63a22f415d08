# The header-only JSON library of the build machine (Debian: nlohmann-json3-dev),
# as the interface target qv_json. Only the library's own folder is shown to
# the compiler: for the cross builds the rest of /usr/include belongs to the
# build machine.
set(QV_NLOHMANN_INCLUDE /usr/include CACHE PATH "Folder holding nlohmann/json.hpp")
if(NOT EXISTS ${QV_NLOHMANN_INCLUDE}/nlohmann/json.hpp)
  message(FATAL_ERROR "nlohmann/json.hpp not found under ${QV_NLOHMANN_INCLUDE}: install nlohmann-json3-dev (scripts/setup.sh does)")
endif()
set(qv_product_json_include ${CMAKE_BINARY_DIR}/product-json-include)
file(MAKE_DIRECTORY ${qv_product_json_include})
file(CREATE_LINK ${QV_NLOHMANN_INCLUDE}/nlohmann ${qv_product_json_include}/nlohmann SYMBOLIC)
add_library(qv_json INTERFACE)
target_include_directories(qv_json SYSTEM INTERFACE ${qv_product_json_include})
