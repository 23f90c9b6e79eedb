/* Ids of the resources built into the program. Read by the resource compiler as well as by C++,
   so plain macros. */
#pragma once

#define ZARVEX_ICON 1
#define ZARVEX_BACKDROP_BITMAP 101
