#include <gtest/gtest.h>

#include "core/roulette.h"
