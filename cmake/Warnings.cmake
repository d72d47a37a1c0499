# Strict warnings (and sanitizers when asked) for our own targets only.
function(lumivane_target_defaults target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 $<$<BOOL:${LUMIVANE_WERROR}>:/WX>)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic
                           $<$<BOOL:${LUMIVANE_WERROR}>:-Werror>)
    if(LUMIVANE_SANITIZE)
      target_compile_options(${target} PRIVATE -fsanitize=address,undefined
                             -fno-sanitize-recover=all -fno-omit-frame-pointer)
      target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
  endif()
endfunction()
