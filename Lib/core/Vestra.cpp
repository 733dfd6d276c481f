// The project-template exports.
#include "VestraTemplate.h"

CVestra::CVestra() {}

CVestra& CVestra::operator=(const CVestra&)
{
    return *this;
}

int fnVestra()
{
    return 42;
}

int nVestra = 0;
