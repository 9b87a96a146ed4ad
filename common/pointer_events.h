// Keeps freeglut on the core X pointer events, which it reads without leaking.
#pragma once

// freeglut asks X for XInput2 pointer events on its window and turns each into a core
// event. When a button is released outside the window, X also reports the pointer
// entering the root window; freeglut finds no window of its own for that event and
// never frees its data, so every drag that ends outside the window leaks a few hundred
// bytes. Clearing the XInput2 selection makes X send the core events freeglut also asks
// for, and the callbacks see the same buttons, motion and crossings as before.
// Call it right after glutCreateWindow, with the new window's context current.
void use_core_pointer_events();
