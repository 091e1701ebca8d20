/* SPDX-License-Identifier: MIT */
/* Output and exit of the firmware, through QEMU's semihosting. */
#ifndef RUNEMILL_SEMIHOSTING_H
#define RUNEMILL_SEMIHOSTING_H

/* Writes a 0-terminated text to QEMU's standard output. */
void host_write(const char* text);

/* Ends the run: QEMU exits with status 0, or 1 when failed is non-zero. */
void host_exit(int failed);

#endif
