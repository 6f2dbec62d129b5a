# Per-target build options: warnings (optionally as errors) and sanitizers.
# Nothing here touches global flags, so third-party code is built as its own project wants.

option(ORVELL_WERROR "Treat compiler warnings as errors" OFF)
option(ORVELL_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(ORVELL_TSAN "Build with ThreadSanitizer (not together with ORVELL_SANITIZE)" OFF)

function(orvell_target_options target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 $<$<BOOL:${ORVELL_WERROR}>:/WX>)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic
                                                 -Wshadow -Wconversion -Wsign-conversion
                                                 -Wold-style-cast -Woverloaded-virtual
                                                 -Wnon-virtual-dtor
                                                 $<$<BOOL:${ORVELL_WERROR}>:-Werror>)
    endif()
    if(ORVELL_SANITIZE AND NOT MSVC)
        set(flags -fsanitize=address,undefined -fno-sanitize-recover=undefined
                  -fno-omit-frame-pointer)
        target_compile_options(${target} PRIVATE ${flags})
        target_link_options(${target} PRIVATE ${flags})
    endif()
    if(ORVELL_TSAN AND NOT MSVC)
        set(flags -fsanitize=thread -fno-omit-frame-pointer)
        target_compile_options(${target} PRIVATE ${flags})
        target_link_options(${target} PRIVATE ${flags})
    endif()
    if(ORVELL_BUILD_FUZZERS)
        # Coverage instrumentation for libFuzzer; only the fuzz targets link its driver.
        target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link)
    endif()
endfunction()
