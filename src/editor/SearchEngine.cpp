#include "SearchEngine.h"
