# Sources are collected per folder. A file named *_window.cpp (or anything
# under src/ui) is a window and goes into kelvora_ui; everything else in a
# folder is pure C++ and goes into that folder's Qt-free library.
function(kv_pure_sources out dir)
  file(GLOB _all CONFIGURE_DEPENDS "${dir}/*.cpp")
  list(FILTER _all EXCLUDE REGEX "_window\\.cpp$")
  set(${out} ${_all} PARENT_SCOPE)
endfunction()

function(kv_window_sources out dir)
  file(GLOB _all CONFIGURE_DEPENDS "${dir}/*_window.cpp")
  set(${out} ${_all} PARENT_SCOPE)
endfunction()
