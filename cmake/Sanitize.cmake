# Build type "Sanitize": AddressSanitizer and UndefinedBehaviorSanitizer, halting on
# the first report so that CI fails on it.
set(_san "-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g -O1")
set(CMAKE_C_FLAGS_SANITIZE "${_san}" CACHE STRING "" FORCE)
set(CMAKE_CXX_FLAGS_SANITIZE "${_san}" CACHE STRING "" FORCE)
set(CMAKE_EXE_LINKER_FLAGS_SANITIZE "-fsanitize=address,undefined" CACHE STRING "" FORCE)
set(CMAKE_SHARED_LINKER_FLAGS_SANITIZE "-fsanitize=address,undefined" CACHE STRING "" FORCE)
