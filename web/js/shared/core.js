// The program's calls, as the studio and the video export make them
// (web/app/studio_calls.cpp, built to studio_core.js and .wasm): compile a shot
// list or read a film, the film's poses, where the actors are at a frame, a
// frame drawn through a pose, and shot-list text. The program reads, compiles,
// checks and steps the story; nothing here does. studio_core.js, beside the
// page, is loaded when first needed.

// The program, started on the canvas it draws into; smooth: its lines drawn
// from several samples a pixel (a multisampled context).
export async function startCore(canvas, { smooth = false } = {}) {
  if (!globalThis.crearEstudio)
    await new Promise((resolve, reject) => {
      const script = Object.assign(document.createElement('script'), { src: 'studio_core.js' });
      script.onload = resolve;
      script.onerror = () => reject(new Error('studio_core.js cannot be loaded'));
      document.head.append(script);
    });
  const module = await globalThis.crearEstudio({ canvas, print: line => console.log(line),
                                                 printErr: line => console.warn(line) });
  module.callMain(smooth ? ['--smooth'] : []);
  return new Core(module);
}

class Core {
  constructor(module) {
    this.module = module;
    this.facts = JSON.parse(module.UTF8ToString(module._studio_facts()));
    this.poseBuffer = module._malloc(9 * 4);
  }

  // A string into the program's memory for one call, as UTF-8 bytes: call(pointer,
  // length) gets all of them, a NUL among them too.
  withString(text, call) {
    const m = this.module;
    const length = m.lengthBytesUTF8(text);
    const pointer = m._malloc(length + 1);
    try {
      m.stringToUTF8(text, pointer, length + 1);
      return call(pointer, length);
    } finally {
      m._free(pointer);
    }
  }

  // The shot list read and, when it reads, compiled and checked; with show, into
  // the film shown. See studio_compile for the answer's fields.
  compile(text, show = true) {
    const m = this.module;
    return JSON.parse(m.UTF8ToString(this.withString(text, (pointer, length) => m._studio_compile(pointer, length, show ? 1 : 0))));
  }

  // A film's text, read as PLAY reads it, as the film shown; null, or why PLAY
  // would refuse it ("LINE:COLUMN: ...").
  showFilm(text) {
    const m = this.module;
    const why = m.UTF8ToString(this.withString(text, (pointer, length) => m._studio_show_film(pointer, length)));
    return why || null;
  }

  // The film shown, one pose of nine numbers a frame (a view of the program's
  // memory, valid until the next compile); null before a list has read well.
  poses() {
    const m = this.module;
    const count = m._studio_pose_count();
    return count ? new Float32Array(m.HEAPF32.buffer, m._studio_poses(), count * 9) : null;
  }

  // Pose n of the film shown, as an array of nine numbers.
  pose(n) {
    const poses = this.poses();
    return poses && n >= 0 && n * 9 < poses.length ? Array.from(poses.subarray(n * 9, n * 9 + 9)) : null;
  }

  // The film shown as `film compile` writes it, and whether it would write it.
  filmText() {
    const m = this.module;
    return { text: m.UTF8ToString(m._studio_film_text()), sound: !!m._studio_film_sound() };
  }

  // Where each actor is at frame n: { name: [x, y, z] }.
  actorsAt(n) {
    const m = this.module;
    const at = m._studio_actors(n) / 4;
    const points = {};
    this.facts.actors.forEach((name, i) => {
      points[name] = Array.from(m.HEAPF32.subarray(at + 3 * i, at + 3 * i + 3));
    });
    return points;
  }

  // Frame n drawn through pose (nine numbers) at the canvas's size; withCamera
  // draws the film's own camera at n and its path over it.
  draw(n, pose, withCamera, width, height) {
    const m = this.module;
    m.HEAPF32.set(pose, this.poseBuffer / 4);
    m._studio_draw(n, this.poseBuffer, withCamera ? 1 : 0, width, height);
  }

  actorIndex(name) {
    return name === null ? -1 : this.facts.actors.indexOf(name);
  }

  // A key's line: eye and centre are { actor: name or null, xyz: [x, y, z] }.
  keyLine(frame, eye, centre, up, motion) {
    const m = this.module;
    return m.UTF8ToString(m._studio_key_line(frame, this.actorIndex(eye.actor), ...eye.xyz,
                                             this.actorIndex(centre.actor), ...centre.xyz, ...up,
                                             this.facts.motions.indexOf(motion)));
  }

  // A take's poses (a Float32Array, nine numbers a frame from frame first on) as
  // keys' lines within tolerance: { lines, deviation, deviationFrame }, or { error }.
  takeKeys(poses, first, tolerance) {
    const m = this.module;
    const pointer = m._malloc(poses.length * 4);
    try {
      m.HEAPF32.set(poses, pointer / 4);
      return JSON.parse(m.UTF8ToString(m._studio_take_keys(pointer, poses.length / 9, first, tolerance)));
    } finally {
      m._free(pointer);
    }
  }

  // The soundtrack of frames from to to of the film shown: an Int16Array of
  // interleaved stereo pairs at 48 kHz, 1,200 pairs a frame (a copy).
  soundtrack(from, to) {
    const m = this.module, pointer = m._studio_soundtrack(from, to);
    return new Int16Array(m.HEAP16.buffer, pointer, (to - from + 1) * 2400).slice();
  }

  // The music played with the story: a Float32Array of interleaved stereo pairs at
  // 48 kHz (empty: none), its offset in seconds from frame 0 and its gain in dB.
  setMusic(samples, offset, gain) {
    const m = this.module, pointer = m._malloc(Math.max(4, samples.length * 4));
    try {
      m.HEAPF32.set(samples, pointer / 4);
      m._studio_set_music(pointer, samples.length / 2, offset, gain);
    } finally {
      m._free(pointer);
    }
  }

  // A key's point as the shot list writes it.
  pointText(point) {
    const m = this.module;
    return m.UTF8ToString(m._studio_point_text(this.actorIndex(point.actor), ...point.xyz));
  }
}
