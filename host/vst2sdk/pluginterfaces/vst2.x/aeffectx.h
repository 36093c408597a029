#pragma once
#include "aeffect.h"
#include <pluginterfaces/fst/aeffectx.h>
