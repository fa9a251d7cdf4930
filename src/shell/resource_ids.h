#pragma once
// Identifiers shared by resources/veilo.rc and the program's code.

#define IDI_VEILO 1  // the program icon: the lowest id, so Explorer shows it for the .exe
