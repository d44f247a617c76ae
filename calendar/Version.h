/* The program's version, as its version resource carries it and the about box shows it. */
#pragma once
#define VELMORA_VERSION_NUMBERS 1, 0, 0, 1
#define VELMORA_VERSION_TEXT "1.0.0.1"
