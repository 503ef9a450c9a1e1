#include "app/run_game.h"

int main(int argc, char* argv[])
{
    return runGame(argc, argv, Edition::Full);
}
