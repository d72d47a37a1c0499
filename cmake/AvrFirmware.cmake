# Firmware for a simulated ATmega328P: avr-gcc builds it, simavr's library
# runs it in a host program. Either may be missing; callers check
# LUMIVANE_AVR_GCC and TARGET lumivane::simavr.
find_program(LUMIVANE_AVR_GCC avr-gcc)
# Debian's simavr.pc asks pkg-config for libelf's development files, which
# the shared library does not need: look for the header and library directly.
find_path(LUMIVANE_SIMAVR_INCLUDE_DIR sim_avr.h PATH_SUFFIXES simavr)
find_library(LUMIVANE_SIMAVR_LIBRARY simavr)
if(LUMIVANE_SIMAVR_INCLUDE_DIR AND LUMIVANE_SIMAVR_LIBRARY AND NOT TARGET lumivane::simavr)
  add_library(lumivane::simavr UNKNOWN IMPORTED)
  set_target_properties(lumivane::simavr PROPERTIES
    IMPORTED_LOCATION ${LUMIVANE_SIMAVR_LIBRARY}
    INTERFACE_INCLUDE_DIRECTORIES ${LUMIVANE_SIMAVR_INCLUDE_DIR})
endif()

# lumivane_add_avr_firmware(name SOURCES ... [MCU part] [INCLUDES ...] [DEFINES ...] [DEPENDS ...])
# builds ${name}.elf (for the ATmega328P unless MCU names another part) in the
# current binary folder as a target of that name,
# linked as the Arduino IDE and PlatformIO link a sketch: functions nothing
# calls are left out.
function(lumivane_add_avr_firmware name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "MCU" "SOURCES;INCLUDES;DEFINES;DEPENDS")
  if(NOT arg_MCU)
    set(arg_MCU atmega328p)
  endif()
  set(elf ${CMAKE_CURRENT_BINARY_DIR}/${name}.elf)
  list(TRANSFORM arg_SOURCES PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
  list(TRANSFORM arg_INCLUDES PREPEND -I)
  list(TRANSFORM arg_DEFINES PREPEND -D)
  add_custom_command(OUTPUT ${elf}
    COMMAND ${LUMIVANE_AVR_GCC} -mmcu=${arg_MCU} -Os -std=c99 -Wall -Wextra -Wconversion -Wsign-conversion -Werror
            -ffunction-sections -fdata-sections -Wl,--gc-sections
            ${arg_DEFINES} ${arg_INCLUDES} ${arg_SOURCES} -o ${elf}
    DEPENDS ${arg_SOURCES} ${arg_DEPENDS} ${PROJECT_SOURCE_DIR}/decoder/src/lumivane_decode.h
    COMMENT "Building the AVR firmware ${name}.elf"
    VERBATIM)
  add_custom_target(${name} ALL DEPENDS ${elf})
endfunction()
