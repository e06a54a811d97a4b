#pragma once

// Creates every window once, the main menu first, in the order the program has always used;
// all but the main menu stay hidden.
void CreateForms();

// Destroys them at exit.
void DestroyForms();
