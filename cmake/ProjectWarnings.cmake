# One place for the warning flags of project code; third-party headers stay quiet
# because Qt, libjpeg and GoogleTest are found as system includes. TOLLAMAR_WERROR
# makes them errors.
function(tollamar_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
    -Wnon-virtual-dtor -Wold-style-cast -Wcast-align -Woverloaded-virtual
    -Wnull-dereference -Wimplicit-fallthrough $<$<BOOL:${TOLLAMAR_WERROR}>:-Werror>)
endfunction()

function(tollamar_c_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion $<$<BOOL:${TOLLAMAR_WERROR}>:-Werror>)
endfunction()
