# fw_warnings: the warning set every target of ours builds with; warnings are errors.
add_library(fw_warnings INTERFACE)
if(MSVC)
  target_compile_options(fw_warnings INTERFACE /W4 /WX)
else()
  target_compile_options(fw_warnings INTERFACE -Wall -Wextra -Wpedantic -Werror -Wshadow -Wconversion -Wno-sign-conversion)
endif()

if(FW_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(FW_FUZZ)
  # Everything the fuzzers link is instrumented, so a fault deep in the core is caught where it happens.
  add_compile_options(-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(WIN32 AND NOT MSVC)
  # One self-contained file: no runtime DLLs next to the program.
  add_link_options(-static -static-libgcc -static-libstdc++)
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 WINVER=0x0501)
endif()
