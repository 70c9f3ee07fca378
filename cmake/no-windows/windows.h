#error The portable core must not include <windows.h>; put platform code in src/shell, src/desktop or src/app.
