#pragma once
#include <pluginterfaces/fst/aeffect.h>
