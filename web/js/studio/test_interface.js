// What the page's tests and benchmark (and a look from the browser's console)
// may read of the studio and do to it, as window.studioTest; everything else is
// the studio's own. Reading:
//   text()            the shot list's text
//   frame(), view()   the playhead; 'film' or 'free'
//   free()            the free camera { eye, centre, up }, or null before it is used
//   span()            the frames the timeline shows, { first, last }
//   textScrolled()    how far the text is scrolled sideways, in pixels
//   pose(n)           the film shown's pose at frame n (nine numbers), or null
//   keys()            the keys read from the text: [{ frame, line, motion, eye, centre }],
//                     eye and centre { actor, field: [from, to] byte columns }
//   cursor()          [line, character offset in it] of the text's cursor
//   draft()           { changes, stored, saving: 'ok' | 'refused' } of the autosave
//   running()         the transport: null, 'play' or 'take'
//   takeKept()        the frames of the take running (or the last one) stored as it goes
//   music()           { line (the music line read, or null), track ({ name, pairs } loaded, or null),
//                     heard (the stereo pairs the program mixes, 0: none) }
//   exported()        the music filmToExport hands to a video: { pairs, offset, gain }, or null
// Doing:
//   place(line, offset)  the cursor there (line 0: the end of the text), the focus in the text
//   change(line, from, to, insert)  an edit of a line's characters from..to, as typing makes it
//   seek(n)           the playhead to frame n
//   onDraw(wrap)      the program's drawing replaced by wrap(draw) (the benchmark's timing)
//   video(options)    frames options.from to .to of options.film (a film's text; default
//                     the film shown) made into a video by
//                     the export (shared/export.js makeVideo: width, height, codec as an
//                     id, container, smooth, sound, music, tuning); resolves to { data: the file
//                     in base64, seconds: the time it took } (the quality benchmark's)
import { CODECS, makeVideo } from '../shared/export.js';
import { draftCounts } from './autosave.js';
import { keysOf } from './film.js';
import { musicState } from './music.js';
import { takeKept } from './take.js';
import { filmToExport } from './way_out.js';
import { change, services, studioOf } from './store.js';
import { seeking } from './views.js';

export function exposeForTests(view) {
  const core = view.state.facet(services).core;
  window.studioTest = {
    text: () => view.state.doc.toString(),
    frame: () => studioOf(view.state).frame,
    view: () => studioOf(view.state).view,
    free: () => studioOf(view.state).free,
    span() {
      const span = studioOf(view.state).span;
      return span || { first: 0, last: view.state.facet(services).facts.frames - 1 };
    },
    textScrolled: () => view.scrollDOM.scrollLeft,
    pose: n => core.pose(n),
    keys: () => keysOf(view.state).map(({ frame, line, motion, eye, centre }) => ({ frame, line, motion, eye, centre })),
    cursor() {
      const at = view.state.selection.main.head, line = view.state.doc.lineAt(at);
      return [line.number, at - line.from];
    },
    running: () => studioOf(view.state).running,
    takeKept,
    music: () => musicState(view),
    exported() {
      const m = filmToExport(view).music;
      return m && { pairs: m.samples.length / 2, offset: m.offset, gain: m.gain };
    },
    draft: () => ({ ...draftCounts(), saving: studioOf(view.state).draft.failing ? 'refused' : 'ok' }),
    place(line, offset) {
      const doc = view.state.doc;
      view.focus();
      view.dispatch({ selection: { anchor: line ? doc.line(line).from + offset : doc.length }, scrollIntoView: true });
    },
    change(line, from, to, insert) {
      const start = view.state.doc.line(line).from;
      view.dispatch({ changes: { from: start + from, to: start + to, insert }, userEvent: 'input.type' });
    },
    seek: n => view.dispatch({ effects: change.of(seeking(view.state, n)) }),
    onDraw(wrap) {
      core.draw = wrap(core.draw.bind(core));
    },
    async video(options) {
      const began = performance.now();
      const made = await makeVideo({ film: filmToExport(view).text, name: 'benchmark', ...options,
                                     codec: CODECS.find(c => c.id === options.codec) });
      const seconds = (performance.now() - began) / 1000;
      const bytes = new Uint8Array(await made.file.arrayBuffer());
      await made.remove();
      let text = '';
      for (let i = 0; i < bytes.length; i += 0x8000)
        text += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
      return { data: btoa(text), seconds };
    },
  };
}
