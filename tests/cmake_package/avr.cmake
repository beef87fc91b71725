# avr-gcc for an ATmega328P, for the build test's second build.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_C_COMPILER avr-gcc)
set(CMAKE_C_FLAGS_INIT "-mmcu=atmega328p -Os")
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
