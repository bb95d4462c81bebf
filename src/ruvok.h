#ifndef RUVOK_H
#define RUVOK_H

#include <cstdint>

/*
 * The run state.  Every unit reads it; each variable is written by the
 * unit that defines it: choice by main.cpp, the lengths and the factors by
 * conversion.cpp.
 */
extern std::int32_t choice;
extern float inches;
extern float millimeters;
extern float mm_conversion;
extern float in_conversion;

/* Entries 1 to 3 are the menu lines and the choice prompt. */
extern const char *const choices_arr[4];

void clear_screen();
void splash();
void separator();
void converting();
void collapse_choice();
void collapse_inches();
void collapse_millimeters();

void conversion_millimeters_per_inch();
void conversion_inches_per_millimeter();
void get_inches();
void get_millimeters();
void find_millimeters();
void find_inches();

void flush_output();

#endif
