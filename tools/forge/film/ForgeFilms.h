#pragma once

class ForgeOutput;

// Writes the opening and the finale as "data\Movies\video1.avi" and "video2.avi" from the board
// and figure pictures the forge has already made (so it runs after them), and puts pictures of
// each on the review sheets; false when a picture was missing or a file could not be written.
bool ForgeFilms(ForgeOutput& output);
