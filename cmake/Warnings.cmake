# Warnings every target of ours gets; third-party code (GoogleTest) is left alone.
add_library(tessary_warnings INTERFACE)
if(MSVC)
  target_compile_options(tessary_warnings INTERFACE /W4 /permissive- /utf-8)
else()
  target_compile_options(tessary_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow
    -Wno-missing-field-initializers)
endif()
