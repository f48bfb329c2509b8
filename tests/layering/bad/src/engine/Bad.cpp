#include <QString>
#include <unistd.h>
#include <string>
#include "engine/Bad.h"
