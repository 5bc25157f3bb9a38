/* Small input drivers for the loading tests, one source built in several variants:
 * TD_NO_EAD (no converted reading), TD_NO_DETAIL (no description), TD_SINGLE_CHAR (first
 * name of one character), TD_NULL_TEXT (every text is a null pointer), TD_ENDLESS (the input
 * list never ends). Without a variant macro the driver is complete. */
#include <stdio.h>
#include <string.h>

#include "qtl_pilote.h"

static char calibration_answer[300];
static int32_t endless_calls;

#ifndef TD_NO_DETAIL
QTL_PILOTE_API const char* QTL_PILOTE_CALL stddetail(void) {
#ifdef TD_NULL_TEXT
    return NULL;
#else
    return "pilote d'essai \xE9prouv\xE9";
#endif
}
QTL_PILOTE_API const char* QTL_PILOTE_CALL detail(void) {
    return stddetail();
}
#endif

QTL_PILOTE_API int32_t QTL_PILOTE_CALL stdnea(void) {
    return 2;
}
QTL_PILOTE_API int32_t QTL_PILOTE_CALL NEA(void) {
    return 2;
}

/* Raw reading: 100 + input, so each input reads its own value. */
QTL_PILOTE_API int32_t QTL_PILOTE_CALL stdea(int32_t input) {
    return 100 + input;
}
/* The settings-file name gives another value, to tell the two name sets apart. */
QTL_PILOTE_API int32_t QTL_PILOTE_CALL EA(int32_t input) {
    return 200 + input;
}

QTL_PILOTE_API const char* QTL_PILOTE_CALL stdnead(int32_t index) {
#if defined(TD_NULL_TEXT)
    (void)index;
    return NULL;
#elif defined(TD_ENDLESS)
    (void)index;
    ++endless_calls;
    return "EAx";
#elif defined(TD_SINGLE_CHAR)
    return index == 0 ? "X" : "EA1";
#else
    static const char* const names[] = {"EA0", "EA1", ""};
    return index >= 0 && index < 3 ? names[index] : "";
#endif
}
QTL_PILOTE_API const char* QTL_PILOTE_CALL NEAD(int32_t index) {
    return stdnead(index);
}

/* Number of times the endless list was asked for a name. */
QTL_PILOTE_API int32_t QTL_PILOTE_CALL test_name_calls(void) {
    return endless_calls;
}

#ifndef TD_NO_EAD
QTL_PILOTE_API double QTL_PILOTE_CALL stdead(int32_t input) {
    return 1.5 + input;
}
QTL_PILOTE_API double QTL_PILOTE_CALL EAD(int32_t input) {
    return 2.5 + input;
}
#endif

/* Answers "<text>+" so that each call shows it received the previous answer. */
QTL_PILOTE_API const char* QTL_PILOTE_CALL stdcalibration(const char* text) {
#ifdef TD_NULL_TEXT
    (void)text;
    return NULL;
#else
    snprintf(calibration_answer, sizeof calibration_answer, "%s+", text ? text : "(null)");
    return calibration_answer;
#endif
}
QTL_PILOTE_API const char* QTL_PILOTE_CALL calibration(const char* text) {
    return stdcalibration(text);
}
