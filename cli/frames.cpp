#include "cli/frames.h"

#include <vector>

#include "cli/output_paths.h"
#include "image/image_info.h"
#include "io/array_text_file.h"
#include "io/replacing_file.h"

namespace {

// The frames in turn, each into a picture and the run's grid: one frame's
// prepared image and toned picture are kept for the next, so that it is
// steady where they agree. A picture is inverted for its output and back
// for the next frame's comparison.
class FrameWalk {
public:
    FrameWalk(const Run& run, const char* input) : own(run), input(input) {}

    // The run with the frame's picture: for the forms.
    const Run& Current() const { return own; }

    // Frame `index` as the current picture and the run's grid; false,
    // said, when refused.
    bool Next(uint32_t index) {
        const bool first = !started;
        started = true;
        if (!first && own.invert) Invert(pictures[now]);
        now ^= 1;
        own.picture = &pictures[now];
        std::string why;
        const ImageOptions& options = own.request.image;
        if (!PrepareFrame(*own.animation, index, options, &prepared[now], &why) ||
            !ToneFrame(prepared[now], options, first ? nullptr : &prepared[now ^ 1],
                       first ? nullptr : &pictures[now ^ 1], &pictures[now], &why)) {
            Refuse(own, input, "frame " + std::to_string(index) + ": " + why);
            return false;
        }
        const InputSize size = {own.animation->Width(), own.animation->Height()};
        return Pack(own, input, size) == Outcome::Done;
    }

private:
    static void Invert(Picture& picture) {
        if (picture.InLevels()) {
            picture.levels.Invert();
        } else if (!picture.InDirect()) {
            picture.mono.InvertDark();
        }
    }

    Run own;
    const char* input;
    PreparedImage prepared[2];
    Picture pictures[2];
    int now = 1;
    bool started = false;
};

// The frames --frames picks, and for a form of one image the first of them.
bool Picked(const Run& run, const char* input, std::vector<uint32_t>* frames) {
    std::string problem;
    if (!PickFrames(run.request, run.animation->Count(), frames, &problem)) {
        Refuse(run, input, problem);
        return false;
    }
    if (IsSingleFrameForm(run.request)) frames->resize(1);
    return true;
}

// Each frame's delay: --delay, or the file's.
std::vector<uint32_t> Delays(const Run& run, const std::vector<uint32_t>& frames) {
    std::vector<uint32_t> delays;
    for (uint32_t frame : frames) delays.push_back(run.request.delay ? *run.request.delay : run.animation->Delay(frame));
    return delays;
}

// "out/anim.txt", frame 3 of 12: "out/anim-03.txt".
std::string NumberedPath(const std::string& path, uint32_t frame, uint32_t count) {
    const size_t name = BaseName(path).size(), dot = path.rfind('.');
    const size_t at = dot != std::string::npos && dot >= path.size() - name ? dot : path.size();
    std::string number = std::to_string(frame);
    number.insert(0, std::to_string(count - 1).size() - number.size(), '0');
    return path.substr(0, at) + "-" + number + path.substr(at);
}

bool CannotWrite(const Run& run, const std::string& output) {
    std::fprintf(run.err, "%s: cannot write %s\n", kName, output.empty() ? "to standard output" : output.c_str());
    return false;
}

// Every frame into one output: one after another, or for the C forms one
// header with the tables of the frames.
Outcome FramesIntoOne(const Run& run, const Job& job, const std::vector<uint32_t>& frames) {
    const CliRequest& request = run.request;
    const bool tables = IsCForm(request.format) && !IsSingleFrameForm(request);
    const std::vector<uint32_t> delays = Delays(run, frames);
    for (size_t i = 0; tables && i < frames.size(); ++i) {
        if (delays[i] == 0) {
            Refuse(run, job.input,
                   "frame " + std::to_string(frames[i]) + " has a delay of 0 ms, which players show for 100 ms "
                   "or not at all; give the delay with --delay MS");
            return Outcome::Refused;
        }
    }
    ReplacingFile file;
    const bool toFile = !job.output.empty();
    if (toFile && !file.Open(job.output.c_str())) return CannotWrite(run, job.output), Outcome::NotWritten;
    const ByteSink sink = toFile ? WriteToFile : WriteToStream;
    void* const context = toFile ? static_cast<void*>(file.Handle()) : static_cast<void*>(run.out);
    FrameWalk walk(run, job.input);
    bool written = !tables || EmitCOpening(request.cForm, job.arrayName, sink, context);
    std::vector<std::string> names;
    for (size_t i = 0; i < frames.size(); ++i) {
        if (!walk.Next(frames[i])) return Outcome::Refused;  // the temporary file is discarded
        const Run& now = walk.Current();
        if (!tables) {
            written = written && Emit(now, job, sink, context);
            continue;
        }
        names.push_back(job.arrayName + "_" + std::to_string(frames[i]));
        written = written && (i == 0 || sink(context, "\n", 1)) &&
                  EmitCImage(**now.grid, SourceOf(now, job.input), names.back(), request.cForm, sink, context);
    }
    if (tables) {
        const Picture& last = *walk.Current().picture;
        written = written && EmitCFrameTables(request.cForm, job.arrayName, names, delays, last.Width(),
                                              last.Height(), sink, context);
    }
    written = written && (toFile ? file.Commit() : std::fflush(run.out) == 0);
    if (!written) return CannotWrite(run, job.output), Outcome::NotWritten;
    if (toFile) run.written->emplace_back(job.output, job.input);
    return Outcome::Done;
}

}  // namespace

Outcome ConvertFrames(const Run& run, const Job& job) {
    std::vector<uint32_t> frames;
    if (!Picked(run, job.input, &frames)) return Outcome::Refused;
    if (!run.request.outDir || IsSingleFrameForm(run.request)) return FramesIntoOne(run, job, frames);
    // --out-dir: one file a frame, each its own image.
    FrameWalk walk(run, job.input);
    for (uint32_t frame : frames) {
        const std::string output = NumberedPath(job.output, frame, run.animation->Count());
        const std::string name = job.arrayName.empty() ? "" : job.arrayName + "_" + std::to_string(frame);
        const Job one = {job.input, output, name};
        if (!walk.Next(frame)) return Outcome::Refused;
        if (!WriteOutput(walk.Current(), one)) return CannotWrite(run, output), Outcome::NotWritten;
    }
    return Outcome::Done;
}

Outcome ShowFrames(const Run& run, const char* input, const InputSize& source, bool* shown) {
    std::vector<uint32_t> frames;
    if (!Picked(run, input, &frames)) return Outcome::Refused;
    FrameWalk walk(run, input);
    if (!walk.Next(frames[0])) return Outcome::Refused;
    const Picture& picture = *walk.Current().picture;
    std::string text = *shown ? "\n" : "";
    bool written;
    if (run.request.info) {
        text += DescribeImage(DisplayName(input).c_str(), source, picture, run.options, run.invert, run.grid->get());
        text += "frames: " + std::to_string(run.animation->Count()) + "\ndelays (ms):";
        for (uint32_t i = 0; i < run.animation->Count(); ++i) text += " " + std::to_string(run.animation->Delay(i));
        written = WriteText(run, text + "\n");
    } else {
        if (run.request.inputs.size() > 1) text += DisplayName(input) + ":\n";
        written = WriteText(run, text) && EmitPicturePreview(run, picture);
    }
    if (!written || std::fflush(run.out) != 0) {
        std::fprintf(run.err, "%s: cannot write to standard output\n", kName);
        return Outcome::NotWritten;
    }
    *shown = true;
    return Outcome::Done;
}
