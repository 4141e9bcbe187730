// The key-sending library: parses key macros and plays them into the focused application.
// Its exported entry points are added together with the macro language and the X11 player.
