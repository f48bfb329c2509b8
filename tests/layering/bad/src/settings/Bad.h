#pragma once
#include "engine/Scan.h"
#include <filesystem>
