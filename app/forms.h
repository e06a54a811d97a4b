#pragma once

// Creates every window once, the main menu first, in the order the program has always used;
// all but the main menu stay hidden. Every calculation is a document, every window has its menu bar.
void CreateForms();

// Destroys them at exit.
void DestroyForms();
