#include "media/SoundDevice.h"

SoundDevice::~SoundDevice() = default;
