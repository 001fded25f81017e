# cmake -DLIBRARY=libWordseek.so -DNM=nm -DREADELF=readelf -P check_exports.cmake
# Fails unless the library defines exactly QueryFunction and QueryMemo as dynamic
# symbols and needs no shared library beyond libc (and sanitizer runtimes).
foreach(var LIBRARY NM READELF)
  if(NOT ${var})
    message(FATAL_ERROR "${var} not given")
  endif()
endforeach()

execute_process(COMMAND ${NM} -D --defined-only ${LIBRARY}
  OUTPUT_VARIABLE symbols RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "nm failed on ${LIBRARY}")
endif()
string(REGEX MATCHALL "[^\n]+" lines "${symbols}")
set(names)
foreach(line IN LISTS lines)
  # "address type name"; the address is absent for some absolute symbols.
  string(REGEX REPLACE "^.* " "" name "${line}")
  list(APPEND names "${name}")
endforeach()
list(SORT names)
if(NOT names STREQUAL "QueryFunction;QueryMemo")
  message(FATAL_ERROR "${LIBRARY} exports [${names}], expected [QueryFunction;QueryMemo]")
endif()

execute_process(COMMAND ${READELF} -d ${LIBRARY} OUTPUT_VARIABLE dynamic RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "readelf failed on ${LIBRARY}")
endif()
string(REGEX MATCHALL "Shared library: \\[[^]]+\\]" needed "${dynamic}")
foreach(entry IN LISTS needed)
  string(REGEX REPLACE "Shared library: \\[(.*)\\]" "\\1" lib "${entry}")
  if(NOT lib MATCHES "^(libc\\.so|ld-linux|libasan|libubsan|libclang_rt)")
    message(FATAL_ERROR "${LIBRARY} needs ${lib}; it may depend on libc only")
  endif()
endforeach()
message(STATUS "libWordseek.so exports ${names}; needs ${needed}")
