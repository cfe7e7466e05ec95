#include "FindDialogs.h"
