#include "Arduino.h"
