#pragma once

#include <QString>
#include <functional>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

// Runs `work` in a child process that has given up root's right to write anywhere, so that
// permissions are enforced even when the tests run as root, and returns what `work` returned.
inline QString asUnprivileged(const std::function<QString()>& work)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return QStringLiteral("no pipe");
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(99);
        const QByteArray text = work().toUtf8();
        const bool written = write(pipeEnds[1], text.constData(), text.size()) == text.size();
        _exit(written ? 0 : 98);
    }
    close(pipeEnds[1]);
    QByteArray text;
    char chunk[4096];
    for (ssize_t got; (got = read(pipeEnds[0], chunk, sizeof chunk)) > 0;)
        text.append(chunk, got);
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    return QString::fromUtf8(text);
}
