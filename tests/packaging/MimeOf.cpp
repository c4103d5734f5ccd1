// SPDX-License-Identifier: MIT
// Prints the MIME type the desktop's shared-mime-info database gives each file (name and content),
// one per line: the installed package of ".vmx" files is checked through the same lookup that
// Qt programs and file managers use.
#include <QCoreApplication>
#include <QMimeDatabase>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QMimeDatabase database;
    for (qsizetype i = 1; i < application.arguments().size(); ++i)
        std::printf("%s\n", qPrintable(database.mimeTypeForFile(application.arguments()[i]).name()));
    return 0;
}
