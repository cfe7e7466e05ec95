#include "TextPrinter.h"
