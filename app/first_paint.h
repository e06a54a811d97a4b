#pragma once

class QWidget;

// For start-up measurements (bench/startup_bench): with ORTIX_QUIT_AFTER_FIRST_PAINT=1 in the
// environment, the program prints the CLOCK_MONOTONIC time in nanoseconds at which the window's first
// paint reached the screen, as one line on standard output, and quits. Otherwise nothing happens.
void QuitAfterFirstPaintIfAsked(QWidget *window);
