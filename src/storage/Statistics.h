#pragma once
// The statistics arithmetic lives with the game's data store interface.

#include "game/DataStore.h"
