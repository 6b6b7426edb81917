// What an engine's driver throws for a thing that engine cannot be made to
// do; a test that meets it is skipped there, with the reason.
export class Unsupported extends Error {}
