#include "cli/frames.h"

#include <vector>

#include "cli/output_paths.h"
#include "image/image_info.h"
#include "io/array_text_file.h"
#include "io/replacing_file.h"

namespace {

// The frames in turn, each into an image of its own, toned and packed:
// one frame's prepared image and toned picture are kept for the next, so
// that it is steady where they agree. A picture is inverted for its output
// and back for the next frame's comparison.
class FrameWalk {
public:
    FrameWalk(const Run& run, const Animation& animation, const char* input)
        : run(run), animation(animation), input(input) {}

    // The image of the frame walked to last, packed: for the forms.
    const InputImage& Current() const { return images[now]; }

    // Frame `index` as the current image; false, said, when refused.
    bool Next(uint32_t index) {
        const bool first = !started;
        started = true;
        if (!first && run.conversion.invert) images[now].picture.Invert();
        now ^= 1;
        std::string why;
        const ImageOptions& options = run.conversion.image;
        InputImage& image = images[now];
        if (!PrepareFrame(animation, index, options, &prepared[now], &why) ||
            !ToneFrame(prepared[now], options, first ? nullptr : &prepared[now ^ 1],
                       first ? nullptr : &images[now ^ 1].picture, &image.picture, &why)) {
            Refuse(run, input, "frame " + std::to_string(index) + ": " + why);
            return false;
        }
        image.source = {animation.Width(), animation.Height()};
        return Pack(run, input, &image) == Outcome::Done;
    }

private:
    const Run& run;
    const Animation& animation;
    const char* input;
    PreparedImage prepared[2];
    InputImage images[2];
    int now = 1;
    bool started = false;
};

// The frames --frames picks, and for a form of one image the first of them.
bool Picked(const Run& run, const Animation& animation, const char* input, std::vector<uint32_t>* frames) {
    std::string problem;
    if (!PickFrames(run.conversion, animation.Count(), frames, &problem)) {
        Refuse(run, input, problem);
        return false;
    }
    if (TakesOneFrame(run.conversion)) frames->resize(1);
    return true;
}

// Each frame's delay: --delay, or the file's.
std::vector<uint32_t> Delays(const Run& run, const Animation& animation, const std::vector<uint32_t>& frames) {
    std::vector<uint32_t> delays;
    for (uint32_t frame : frames)
        delays.push_back(run.conversion.delay ? *run.conversion.delay : animation.Delay(frame));
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
    std::fputs(CannotWriteLine(output).c_str(), run.err);
    return false;
}

// Every frame into one output: one after another, or for a form that
// collects one file with the tables of the frames.
Outcome FramesIntoOne(Run& run, const InputImage& input, const Job& job, const std::vector<uint32_t>& frames) {
    const Conversion& c = run.conversion;
    const OutputForm& form = c.Form().form;
    const bool tables = c.Form().collects;
    const std::vector<uint32_t> delays = Delays(run, input.animation, frames);
    for (size_t i = 0; tables && i < frames.size(); ++i) {
        if (delays[i] == 0) {
            Refuse(run, job.input,
                   "frame " + std::to_string(frames[i]) +
                       " has a delay of 0 ms, which players show for 100 ms "
                       "or not at all; give the delay with --delay MS");
            return Outcome::Refused;
        }
    }
    ReplacingFile file;
    const bool toFile = !job.output.empty();
    if (toFile && !file.Open(job.output.c_str())) return CannotWrite(run, job.output), Outcome::NotWritten;
    const ByteSink sink = toFile ? WriteToFile : WriteToStream;
    void* const context = toFile ? static_cast<void*>(file.Handle()) : static_cast<void*>(run.out);
    FrameWalk walk(run, input.animation, job.input);
    bool written = !tables || form.Opening(c.formOptions, job.arrayName, sink, context);
    FormCollection collection;
    collection.kind = FormCollection::Frames;
    collection.name = job.arrayName;
    collection.delays = delays;
    for (size_t i = 0; i < frames.size(); ++i) {
        if (!walk.Next(frames[i])) return Outcome::Refused;  // the temporary file is discarded
        const InputImage& image = walk.Current();
        if (!tables) {
            written = written && Emit(run, image, job, sink, context);
            continue;
        }
        const std::string name = job.arrayName + "_" + std::to_string(frames[i]);
        collection.entries.push_back({name, image.picture.Width(), image.picture.Height()});
        written = written && (i == 0 || sink(context, "\n", 1)) &&
                  form.Image(ImageForForm(run, image, job.input, name), c.formOptions, sink, context);
    }
    if (tables)
        written = written && form.Collection(collection, c.formOptions, sink, context) &&
                  form.Closing(c.formOptions, sink, context);
    written = written && (toFile ? file.Commit() : std::fflush(run.out) == 0);
    if (!written) return CannotWrite(run, job.output), Outcome::NotWritten;
    if (toFile) run.written.emplace_back(job.output, job.input);
    return Outcome::Done;
}

}  // namespace

Outcome ConvertFrames(Run& run, const InputImage& input, const Job& job) {
    std::vector<uint32_t> frames;
    if (!Picked(run, input.animation, job.input, &frames)) return Outcome::Refused;
    if (!run.conversion.outDir || TakesOneFrame(run.conversion)) return FramesIntoOne(run, input, job, frames);
    // --out-dir: one file a frame, each its own image.
    FrameWalk walk(run, input.animation, job.input);
    for (uint32_t frame : frames) {
        const std::string output = NumberedPath(job.output, frame, input.animation.Count());
        const std::string name = job.arrayName.empty() ? "" : job.arrayName + "_" + std::to_string(frame);
        const Job one = {job.input, output, name};
        if (!walk.Next(frame)) return Outcome::Refused;
        if (!WriteOutput(run, walk.Current(), one)) return CannotWrite(run, output), Outcome::NotWritten;
    }
    return Outcome::Done;
}

Outcome ShowFrames(const Run& run, const InputImage& input, const char* name, bool* shown) {
    const Animation& animation = input.animation;
    std::vector<uint32_t> frames;
    if (!Picked(run, animation, name, &frames)) return Outcome::Refused;
    FrameWalk walk(run, animation, name);
    if (!walk.Next(frames[0])) return Outcome::Refused;
    const InputImage& image = walk.Current();
    std::string text = *shown ? "\n" : "";
    bool written;
    if (run.conversion.mode == RunMode::Info) {
        text += DescribeImage(DisplayName(name).c_str(), input.source, image.picture, run.conversion.pack.layout,
                              run.conversion.invert, image.grid.get(), run.conversion.pack.fillValue.has_value());
        text += "frames: " + std::to_string(animation.Count()) + "\ndelays (ms):";
        for (uint32_t i = 0; i < animation.Count(); ++i) text += " " + std::to_string(animation.Delay(i));
        written = WriteText(run, text + "\n");
    } else {
        if (run.conversion.inputs.size() > 1) text += DisplayName(name) + ":\n";
        const std::string none;
        const Job job = {name, none, none};
        written = WriteText(run, text) && Emit(run, image, job, WriteToStream, run.out);
    }
    if (!written || std::fflush(run.out) != 0) {
        std::fprintf(run.err, "%s: cannot write to standard output\n", kName);
        return Outcome::NotWritten;
    }
    *shown = true;
    return Outcome::Done;
}
