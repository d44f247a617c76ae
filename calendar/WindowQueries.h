// Messages with which another program (the window tests) reads what the calendar window
// shows. Strings come back as new global atoms (up to 255 characters) that the caller deletes.
#pragma once

#define VM_GETDISPLAYDATE (0x8000 + 20)   // returns the bits of DisplayDate (a double)
#define VM_GETCOMINGUPCOUNT (0x8000 + 21) // returns the number of Coming Up lines held
#define VM_GETCOMINGUPLINE (0x8000 + 22)  // wParam: line; returns an atom of the line as drawn
#define VM_GETCOMINGUPCOLOUR (0x8000 + 23) // wParam: line; returns the colour it is drawn in
#define VM_GETCOMINGUPFETCHES (0x8000 + 24) // returns how often the Coming Up text was asked for
#define VM_GETTITLEATOM (0x8000 + 25)     // returns an atom of the title
#define VM_GETPOPUPITEM (0x8000 + 26)     // wParam: item; an atom of its caption ("-" a separator), 0 past the end

// Timer identifiers of the calendar window.
#define TIMER1_ID 1
#define MOUSEOVERTIMER_ID 2
