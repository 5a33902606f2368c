#include "support/OffscreenApp.h"

int main(int argc, char** argv) { return quillane::testing::runOffscreenTests(argc, argv); }
