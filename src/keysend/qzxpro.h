/*
 * The key-sending library (libqzxpro.so): types a short key macro into whichever window has
 * the keyboard focus.
 *
 * Macro language: "^", "+" and "%" hold Ctrl, Shift and Alt for the next key only; a name in
 * braces such as "{ENTER}" or "{f5}" is a special key (any letter case); every other character
 * types its key on a US keyboard, with only the modifiers the macro gives it ("A" and "a" type
 * the same key, "+a" a capital).
 *
 * A plain C interface: only C types and integer codes cross it, and no C++ exception ever
 * leaves it.
 */
#ifndef QZXPRO_H
#define QZXPRO_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define QZXPRO_API __attribute__((visibility("default")))
#else
#define QZXPRO_API
#endif

/* Results of SendKeys. */
#define QZX_SENDKEYS_OK 0
#define QZX_ERROR_HOOK 1 /* no X display, no XTest, or a key the keyboard lacks */
#define QZX_ERROR_SPECIAL_CHARACTER                                                                \
    2                             /* an unknown name in braces, or a character without a key       \
                                   */
#define QZX_ERROR_CLOSING_BRACE 3 /* a "{" without its "}" */
#define QZX_ERROR_OTHER 4         /* an unexpected failure inside the library */

/* Window messages of the recorded key transitions. */
#define QZX_MSG_KEYDOWN 256
#define QZX_MSG_KEYUP 257
#define QZX_MSG_SYSKEYDOWN 260
#define QZX_MSG_SYSKEYUP 261

/* Codes of OutputMessages. */
#define QZX_HOOK_GETNEXT 1 /* copy the current event into the record lparam points to */
#define QZX_HOOK_SKIP 2    /* the current event was taken: move on to the next one */

/* The playback delay OutputMessages asks for with every event: none. */
#define QZX_NO_WAIT 0

/* One recorded key transition (20 bytes). */
typedef struct QzxKeyEvent {
    uint32_t message; /* QZX_MSG_KEYDOWN, QZX_MSG_KEYUP, QZX_MSG_SYSKEYDOWN or QZX_MSG_SYSKEYUP */
    uint32_t paramL;  /* bits 0-7: virtual-key code; bits 8-15: PC scan code (set 1) */
    uint32_t paramH;  /* repeat count: always 1 */
    uint32_t time;    /* milliseconds of a monotonic clock when the event was recorded */
    uint32_t hwnd;    /* unused: 0 */
} QzxKeyEvent;

/*
 * Parses `macro` (a zero-terminated 8-bit string, copied at once; NULL counts as empty) and
 * types it into the focused window. Returns only after the last key has been delivered to the
 * X server. Returns QZX_SENDKEYS_OK (also for a macro without keys, which plays nothing),
 * QZX_ERROR_SPECIAL_CHARACTER or QZX_ERROR_CLOSING_BRACE for a malformed macro (nothing is
 * typed), QZX_ERROR_HOOK when playback cannot start or another macro is still playing
 * (nothing is typed), QZX_ERROR_OTHER on an unexpected failure.
 */
QZXPRO_API int32_t SendKeys(const char* macro);

/*
 * The playback procedure that SendKeys drives while a macro plays. QZX_HOOK_GETNEXT copies the
 * current event into the QzxKeyEvent that `lparam` points to and returns QZX_NO_WAIT;
 * QZX_HOOK_SKIP moves on to the next event, and after the last one ends the playback and frees
 * the events. With no macro playing, or any other code, it does nothing and returns 0.
 */
QZXPRO_API int32_t OutputMessages(int32_t code, uintptr_t wparam, intptr_t lparam);

#ifdef __cplusplus
}
#endif

#endif /* QZXPRO_H */
