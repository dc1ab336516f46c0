#include "core/load/FolderTreeCache.h"

#include <vector>

FolderTreeCache::Node& FolderTreeCache::scanned(const QString& folder, bool* wasRead)
{
    auto found = m_nodes.find(folder);
    if (wasRead)
        *wasRead = found == m_nodes.end();
    if (found != m_nodes.end())
        return found->second;
    return m_nodes.emplace(folder, nodeOf(m_fs.scanFolder(folder))).first->second;
}

FolderTreeCache::Node FolderTreeCache::nodeOf(FolderScan scan)
{
    Node node;
    node.subfolders = std::move(scan.subfolders);
    node.fileBytes = scan.fileBytes;
    node.device = scan.device;
    return node;
}

void FolderTreeCache::addScan(const QString& folder, FolderScan scan)
{
    m_nodes.try_emplace(folder, nodeOf(std::move(scan)));
}

QList<SubfolderInfo> FolderTreeCache::subfolders(const QString& folder)
{
    return scanned(folder).subfolders;
}

std::optional<qint64> FolderTreeCache::totalSize(const QString& folder, const std::function<bool()>& keepGoing)
{
    bool read = false;
    if (const Node& top = scanned(folder, &read); top.total >= 0)
        return top.total;
    if (read && keepGoing && !keepGoing())
        return std::nullopt;

    // Post-order without recursion: deep trees must not exhaust the stack.
    struct Frame
    {
        Node* node;
        QString path;
        qsizetype next = 0;
        qint64 sum = 0;
    };
    std::vector<Frame> stack;
    stack.push_back({&scanned(folder), folder});
    while (!stack.empty()) {
        Frame& frame = stack.back();
        if (frame.next < frame.node->subfolders.size()) {
            const SubfolderInfo& sub = frame.node->subfolders.at(frame.next++);
            if (sub.isLink)
                continue;
            QString childPath = sub.pathIn(frame.path);
            Node& child = scanned(childPath, &read);
            if (read && keepGoing && !keepGoing())
                return std::nullopt;
            if (child.device != frame.node->device && child.device != 0 && frame.node->device != 0)
                continue; // another volume mounted here
            if (child.total >= 0)
                frame.sum += child.total;
            else
                stack.push_back({&child, std::move(childPath)}); // invalidates frame; the loop takes back() again
            continue;
        }
        const qint64 total = frame.node->fileBytes + frame.sum;
        frame.node->total = total;
        stack.pop_back();
        if (!stack.empty())
            stack.back().sum += total;
    }
    return scanned(folder).total;
}
