#include "avr_sim.h"

#include <sim_avr.h>
#include <sim_elf.h>
#include <sim_io.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

/* Far beyond any run of these firmwares: one simulated minute. */
#define AVR_SIM_CYCLE_LIMIT (60ull * AVR_SIM_FREQUENCY)

typedef struct avr_sim_session {
  const avr_sim_hooks* hooks;
  uint16_t heap_start;
} avr_sim_session;

/* simavr has no call that releases what elf_read_firmware allocates. */
static void release_firmware(elf_firmware_t* firmware) {
  uint32_t i;
  for (i = 0; i < firmware->symbolcount; ++i) free(firmware->symbol[i]);
  free(firmware->symbol);
  free(firmware->flash);
  free(firmware->eeprom);
  free(firmware->fuse);
  free(firmware->lockbits);
}

static void on_marker(avr_t* avr, avr_io_addr_t address, uint8_t value, void* param) {
  const avr_sim_session* session = param;
  avr_sim_view view;
  avr->data[address] = value;
  view.cycle = avr->cycle;
  view.stack_pointer = (uint16_t)(avr->data[R_SPL] | (avr->data[R_SPH] << 8));
  view.heap_start = session->heap_start;
  view.ram = avr->data;
  if (session->hooks->marker) session->hooks->marker(session->hooks->context, value, &view);
}

static void on_output(avr_t* avr, avr_io_addr_t address, uint8_t value, void* param) {
  const avr_sim_session* session = param;
  avr->data[address] = value;
  if (session->hooks->output) session->hooks->output(session->hooks->context, value);
}

int avr_sim_run(const char* elf_path, const avr_sim_hooks* hooks) {
  elf_firmware_t firmware;
  avr_sim_session session;
  avr_t* avr;
  int state = cpu_Running;
  memset(&firmware, 0, sizeof firmware);
  if (elf_read_firmware(elf_path, &firmware) != 0) {
    fprintf(stderr, "cannot read the firmware %s\n", elf_path);
    return 1;
  }
  avr = avr_make_mcu_by_name(hooks->mcu ? hooks->mcu : "atmega328p");
  if (avr == NULL) {
    fprintf(stderr, "simavr knows no %s\n", hooks->mcu ? hooks->mcu : "atmega328p");
    release_firmware(&firmware);
    return 1;
  }
  avr_init(avr);
  avr->frequency = AVR_SIM_FREQUENCY;
  avr_load_firmware(avr, &firmware);
  session.hooks = hooks;
  session.heap_start = (uint16_t)(0x100 + firmware.datasize + firmware.bsssize);
  avr_register_io_write(avr, AVR_SIM_MARKER_ADDRESS, on_marker, &session);
  avr_register_io_write(avr, AVR_SIM_OUTPUT_ADDRESS, on_output, &session);
  while (state != cpu_Done && state != cpu_Crashed && avr->cycle < AVR_SIM_CYCLE_LIMIT) {
    state = avr_run(avr);
  }
  avr_terminate(avr);
  release_firmware(&firmware);
  if (state != cpu_Done) {
    fprintf(stderr, "the firmware %s\n",
            state == cpu_Crashed ? "crashed" : "did not end within one simulated minute");
    return 1;
  }
  return 0;
}

long avr_sim_flash_size(const char* elf_path) {
  elf_firmware_t firmware;
  long size;
  memset(&firmware, 0, sizeof firmware);
  if (elf_read_firmware(elf_path, &firmware) != 0) return -1;
  size = (long)firmware.flashsize;
  release_firmware(&firmware);
  return size;
}
