/* An output driver with the dialog names ("std...") that logs every call it receives, for the
 * outputs tests. Default: three analog and two logic outputs. TD_FEW: one of each, with
 * 2-character names, and no title, description or settings. TD_ENDLESS: lists never end. */
#include <stdio.h>
#include <string.h>

#include "qtl_pilote.h"

static struct {
    int32_t kind, output;
    double value;
} calls[4096];
static int32_t count = 0;

static void record(char kind, int32_t output, double value) {
    if (count >= 4096) return;
    calls[count].kind = kind;
    calls[count].output = output;
    calls[count++].value = value;
}

static const char* name(const char* const* names, int n, const char* prefix, int32_t i) {
#if defined(TD_ENDLESS)
    static char buffer[64];
    (void)names;
    (void)n;
    snprintf(buffer, sizeof buffer, "%s %d", prefix, (int)i);
    return buffer;
#else
    (void)prefix;
    return i >= 0 && i < n ? names[i] : "";
#endif
}

#if defined(TD_FEW)
static const char* const logic_names[] = {"L0"};
static const char* const analog_names[] = {"V0"};
#else
static const char* const logic_names[] = {"lampe", "moteur", "x"};
static const char* const analog_names[] = {"tension 0", "tension 1", "chauffage"};
QTL_PILOTE_API const char* QTL_PILOTE_CALL stddetail(void) {
    return "sorties d'essai (d\xE9tail)";
}
QTL_PILOTE_API const char* QTL_PILOTE_CALL stdtitre(void) {
    return "Sorties d'essai";
}
QTL_PILOTE_API const char* QTL_PILOTE_CALL stdcalibration(const char* text) {
    record('c', -1, text ? (double)strlen(text) : -1.0);
    return "";
}
#endif

QTL_PILOTE_API const char* QTL_PILOTE_CALL stdnsb(int32_t output) {
    return name(logic_names, sizeof logic_names / sizeof *logic_names, "logique", output);
}
QTL_PILOTE_API int32_t QTL_PILOTE_CALL stdsb(int32_t output, int32_t on) {
    record('b', output, on);
    return 1;
}
QTL_PILOTE_API const char* QTL_PILOTE_CALL stdnsad(int32_t output) {
    return name(analog_names, sizeof analog_names / sizeof *analog_names, "analogique", output);
}
QTL_PILOTE_API double QTL_PILOTE_CALL stdsad(int32_t output, double value) {
    record('a', output, value);
    return value;
}

/* Read-back for the tests: call i (kind, output, value); returns the number of calls. */
QTL_PILOTE_API int32_t QTL_PILOTE_CALL test_log(int32_t i, int32_t* kind, int32_t* output,
                                                double* value) {
    if (i >= 0 && i < count) {
        *kind = calls[i].kind;
        *output = calls[i].output;
        *value = calls[i].value;
    }
    return count;
}
QTL_PILOTE_API void QTL_PILOTE_CALL test_log_reset(void) {
    count = 0;
}
