// mapscout: flies a free probe through the one level named on the command
// line, for level authors.

#include <iostream>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cout << "Kein Level als Argument angegeben" << std::endl;
        return 0;
    }
    std::cerr << "mapscout: " << argv[1] << ": levels cannot be shown yet" << std::endl;
    return 1;
}
