#include "Cmd/AppContext.h"
