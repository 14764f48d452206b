#pragma once

#include "CliRunner.h"

#include <string>
#include <vector>

// Screens and checks for the live output tests, which run glowmotion-cli
// send and the programs around it (unshare, the OLA daemon).

// `count` screens that differ in many dots: a diagonal moving right, a full
// row moving down, the four corners.
std::string PatternQvl(int count);

// Whether this process may make a network namespace (`unshare -n`); the
// reason to skip when not.
bool CanUnshareNetwork(std::string& why);
