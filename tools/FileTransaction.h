// One save of several stored files that is all or nothing: the reminder editor's OK writes a
// day file and regular.dat together, and "not saved" must mean that neither changed.
#pragma once
#include <string>
#include <vector>

class FileTransaction {
  public:
    // The file is to hold content after the save.
    void Replace(const std::string& path, std::string content);
    // The file is to be gone after the save (a file that is not there is no failure).
    void Delete(const std::string& path);
    // Writes every new file beside its old one first, then puts them in place one by one,
    // keeping each previous file until all are in place. When any step fails, the files
    // already changed are put back and VelmoraError is raised with the failure; should a
    // file not go back, the message says so and where its previous content was left.
    void Commit();

  private:
    struct Change {
        std::string path;
        bool remove = false;
        std::string content;
        bool existed = false; // the file was there before the save
        bool applied = false; // the file holds the new state
    };
    void RollBack(size_t appliedCount, std::string& message);
    std::vector<Change> changes_;
};
