/* SPDX-License-Identifier: MIT */
/*
 * startup.c - the least a Cortex-M3 needs to run main() under QEMU's
 * mps2-an385: a vector table, a reset handler that sets up .data and .bss,
 * and output and exit through semihosting (QEMU's -semihosting).
 */
#include <stdint.h>

#include "semihosting.h"

extern uint32_t _data_start[], _data_end[], _data_load[], _bss_start[], _bss_end[];
extern uint32_t _stack_top[];

int main(void);
void reset_handler(void);

/* Semihosting operations and the exit reasons of SYS_EXIT. */
#define SYS_WRITE0 0x04
#define SYS_EXIT 0x18
#define ADP_STOPPED_APPLICATION_EXIT 0x20026
#define ADP_STOPPED_RUN_TIME_ERROR 0x20023

static int semihost(int operation, const void* argument) {
    register int r0 __asm__("r0") = operation;
    register const void* r1 __asm__("r1") = argument;
    __asm__ volatile("bkpt 0xAB" : "+r"(r0) : "r"(r1) : "memory");
    return r0;
}

void host_write(const char* text) { semihost(SYS_WRITE0, text); }

void host_exit(int failed) {
    semihost(SYS_EXIT, (const void*)(uintptr_t)(failed ? ADP_STOPPED_RUN_TIME_ERROR
                                                       : ADP_STOPPED_APPLICATION_EXIT));
    for (;;) {
    }
}

/* A fault ends the run as a failure instead of hanging it. */
static void fault_handler(void) {
    host_write("fault\n");
    host_exit(1);
}

void reset_handler(void) {
    uint32_t* from = _data_load;
    uint32_t* to;
    for (to = _data_start; to < _data_end; ++to, ++from) *to = *from;
    for (to = _bss_start; to < _bss_end; ++to) *to = 0;
    host_exit(main() != 0);
}

/* Initial stack pointer, reset, NMI, hard fault, memory, bus, usage fault. */
__attribute__((section(".vectors"), used)) static void (*const vectors[7])(void) = {
    (void (*)(void))_stack_top,
    reset_handler,
    fault_handler,
    fault_handler,
    fault_handler,
    fault_handler,
    fault_handler,
};
