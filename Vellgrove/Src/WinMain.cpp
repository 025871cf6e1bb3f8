// The program's entry point, in place of the original platform's WinMain: the game runs from its
// working directory and ignores its arguments.
#include "VGStartUp.h"

int main() { return Vellgrove::VGStartUp::Run(&Vellgrove::VGStartUp::MakeGame); }
