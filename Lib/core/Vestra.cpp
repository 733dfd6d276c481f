#include "Vestra.h"
