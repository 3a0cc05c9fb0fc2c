#include "ground/platform.h"

Platform::~Platform() = default;
