// Exports kept from the library's original project template. Nothing in the engine uses
// them; they stay because hosts built against earlier releases may link to them.
#pragma once

#include "VestraExport.h"

class VESTRA_API CVestra {
public:
    CVestra();
    CVestra& operator=(const CVestra&);
};

// Always 42.
VESTRA_API int fnVestra();

// Starts at 0; the engine never reads or writes it.
extern VESTRA_API int nVestra;
