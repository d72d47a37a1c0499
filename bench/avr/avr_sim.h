/* Runs an AVR firmware in simavr and reports what it signals: a
 * write to GPIOR0 is a marker (the host takes the cycle count and may read
 * the simulated RAM), a write to GPIOR1 is one byte of output. */
#ifndef LUMIVANE_AVR_SIM_H
#define LUMIVANE_AVR_SIM_H

#include <stdint.h>

/* Data-space addresses of the two registers the firmware writes. */
#define AVR_SIM_MARKER_ADDRESS 0x3E /* GPIOR0 */
#define AVR_SIM_OUTPUT_ADDRESS 0x4A /* GPIOR1 */
#define AVR_SIM_FREQUENCY 16000000u

typedef struct avr_sim_view {
  uint64_t cycle;
  uint16_t stack_pointer;
  /* The first byte above the firmware's variables, where the stack may grow
   * down to. */
  uint16_t heap_start;
  uint8_t* ram; /* the whole data space, registers included */
} avr_sim_view;

typedef struct avr_sim_hooks {
  void (*marker)(void* context, uint8_t marker, const avr_sim_view* view);
  void (*output)(void* context, uint8_t byte);
  void* context;
  const char* mcu; /* simavr's name of the part; NULL for the ATmega328P */
} avr_sim_hooks;

/* Returns 0 when the firmware ran to its end (asleep with interrupts off),
 * otherwise prints why not and returns 1. */
int avr_sim_run(const char* elf_path, const avr_sim_hooks* hooks);

/* The bytes of flash the firmware takes (code and initialised data), or -1
 * when it cannot be read. */
long avr_sim_flash_size(const char* elf_path);

#endif
