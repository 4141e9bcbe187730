/* Calls the key-sending library through its public C header, as a C program would, with no
 * X display: malformed macros give their codes, a macro without keys succeeds without playing,
 * and any real macro gives QZX_ERROR_HOOK. Exits 0 when all checks hold. */
#define _POSIX_C_SOURCE 200112L

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "qzxpro.h"

static int failures = 0;

static void expect(int condition, const char* what) {
    if (!condition) {
        fprintf(stderr, "FAILED: %s\n", what);
        ++failures;
    }
}

int main(void) {
    QzxKeyEvent event;

    unsetenv("DISPLAY");

    expect(sizeof(QzxKeyEvent) == 20, "an event record is 20 bytes");
    expect(SendKeys("^V") == QZX_ERROR_HOOK, "\"^V\" without a display gives QZX_ERROR_HOOK");
    expect(SendKeys("{enter}") == QZX_ERROR_HOOK, "\"{enter}\" without a display");
    expect(SendKeys("{ENTER") == QZX_ERROR_CLOSING_BRACE, "a missing closing brace");
    expect(SendKeys("{ENTRE}") == QZX_ERROR_SPECIAL_CHARACTER, "an unknown special key");
    expect(SendKeys("") == QZX_SENDKEYS_OK, "an empty macro");
    expect(SendKeys("^+%") == QZX_SENDKEYS_OK, "a macro of modifiers only");
    expect(SendKeys(NULL) == QZX_SENDKEYS_OK, "a null macro");

    memset(&event, 0x5A, sizeof event);
    expect(OutputMessages(QZX_HOOK_GETNEXT, 0, (intptr_t)&event) == 0,
           "the playback procedure with no macro playing returns 0");
    expect(event.message == 0x5A5A5A5Au, "and leaves the record alone");
    expect(OutputMessages(QZX_HOOK_SKIP, 0, 0) == 0, "skipping with no macro playing");

    if (failures == 0) printf("all C interface checks passed\n");
    return failures == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
