// Lets the library targets build while their folders are still empty.
