/* An output driver for the loading tests: remembers the last call of each setter so a test
 * can read back what the program sent. TD_NO_NAMES leaves out the output names ("NSB", "NSA")
 * so the library is not ready for a settings file. */
#include "qtl_pilote.h"

static int32_t last_output = -1;
static int32_t last_raw = 0;
static double last_real = 0.0;
static int32_t set_calls = 0;

QTL_PILOTE_API const char* QTL_PILOTE_CALL detail(void) {
    return "sorties d'essai";
}

#ifndef TD_NO_NAMES
QTL_PILOTE_API const char* QTL_PILOTE_CALL NSB(int32_t output) {
    return output == 0 ? "SB0" : "";
}
QTL_PILOTE_API const char* QTL_PILOTE_CALL NSA(int32_t output) {
    return output == 0 ? "SA0" : "";
}
#endif

QTL_PILOTE_API int32_t QTL_PILOTE_CALL SB(int32_t output, int32_t on) {
    last_output = output;
    last_raw = on;
    ++set_calls;
    return 1;
}

QTL_PILOTE_API int32_t QTL_PILOTE_CALL SA(int32_t output, int32_t raw) {
    last_output = output;
    last_raw = raw;
    ++set_calls;
    return 1;
}

QTL_PILOTE_API double QTL_PILOTE_CALL SAD(int32_t output, double value) {
    last_output = output;
    last_real = value;
    ++set_calls;
    return value;
}

/* Read-back for the tests. */
QTL_PILOTE_API int32_t QTL_PILOTE_CALL test_last_output(void) {
    return last_output;
}
QTL_PILOTE_API int32_t QTL_PILOTE_CALL test_last_raw(void) {
    return last_raw;
}
QTL_PILOTE_API double QTL_PILOTE_CALL test_last_real(void) {
    return last_real;
}
QTL_PILOTE_API int32_t QTL_PILOTE_CALL test_set_calls(void) {
    return set_calls;
}
