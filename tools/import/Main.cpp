// kyr-import-data: builds the program's Data/ tables from the sources in data/.
#include "DataImport.h"

#include <cstring>
#include <exception>
#include <iostream>

int main(int argc, char **argv) {
    kyr::TImportOptions options;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--data") == 0 && hasValue)
            options.SourceDir = argv[++i];
        else if (std::strcmp(argv[i], "--out") == 0 && hasValue)
            options.OutDir = argv[++i];
        else if (std::strcmp(argv[i], "--fresh") == 0)
            options.Fresh = true;
        else if (std::strcmp(argv[i], "--refresh-atlas") == 0)
            options.RefreshAtlas = true;
        else {
            std::cerr << "usage: kyr-import-data --data SOURCE_DIR --out DATA_DIR [--fresh] "
                         "[--refresh-atlas]\n";
            return 2;
        }
    }
    if (options.SourceDir.empty() || options.OutDir.empty()) {
        std::cerr << "usage: kyr-import-data --data SOURCE_DIR --out DATA_DIR [--fresh] "
                     "[--refresh-atlas]\n";
        return 2;
    }
    try {
        kyr::ImportDeliveredData(options, std::cout);
    } catch (const std::exception &e) {
        std::cerr << "kyr-import-data: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
